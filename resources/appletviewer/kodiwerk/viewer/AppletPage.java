// SPDX-License-Identifier: GPL-3.0-or-later
package kodiwerk.viewer;

import java.io.File;
import java.io.IOException;
import java.net.URI;
import java.net.URISyntaxException;
import java.net.URL;
import java.nio.ByteBuffer;
import java.nio.charset.CharacterCodingException;
import java.nio.charset.Charset;
import java.nio.charset.CodingErrorAction;
import java.nio.charset.StandardCharsets;
import java.nio.file.Files;
import java.util.Collections;
import java.util.HashMap;
import java.util.Locale;
import java.util.Map;

/**
 * What the viewer takes from a page: the first APPLET tag (code, codebase,
 * name, width, height) and the PARAM tags inside it.
 */
final class AppletPage {

    /** A page that holds no applet the viewer can show. */
    static final class PageException extends Exception {
        private static final long serialVersionUID = 1L;

        PageException(String message) {
            super(message);
        }
    }

    final URL documentBase;
    final URL codeBase;
    /** The class to load, in binary form: "Hallo", "spiele.Hallo". */
    final String className;
    final String name;
    final int width;
    final int height;
    /** Keys in lower case: parameter names do not depend on case. */
    final Map<String, String> parameters;

    private AppletPage(URL documentBase, URL codeBase, String className, String name, int width,
                       int height, Map<String, String> parameters) {
        this.documentBase = documentBase;
        this.codeBase = codeBase;
        this.className = className;
        this.name = name;
        this.width = width;
        this.height = height;
        this.parameters = Collections.unmodifiableMap(parameters);
    }

    static AppletPage read(File file) throws IOException, PageException {
        byte[] bytes = Files.readAllBytes(file.toPath());
        return parse(decode(bytes), file.getAbsoluteFile().toURI().toURL());
    }

    /**
     * Pages are written in UTF-8 on most systems and in the system's own
     * single-byte code page on others: UTF-8 when the bytes are valid UTF-8.
     */
    static String decode(byte[] bytes) {
        try {
            return StandardCharsets.UTF_8.newDecoder()
                .onMalformedInput(CodingErrorAction.REPORT)
                .onUnmappableCharacter(CodingErrorAction.REPORT)
                .decode(ByteBuffer.wrap(bytes))
                .toString();
        } catch (CharacterCodingException notUtf8) {
            String nativeName = System.getProperty("native.encoding");
            Charset charset = Charset.defaultCharset();
            if (nativeName != null && Charset.isSupported(nativeName))
                charset = Charset.forName(nativeName);
            return new String(bytes, charset);
        }
    }

    static AppletPage parse(String html, URL documentBase) throws PageException {
        TagReader reader = new TagReader(html);
        Map<String, String> applet = null;
        Map<String, String> parameters = new HashMap<>();
        for (TagReader.Tag tag = reader.next(); tag != null; tag = reader.next()) {
            if (applet == null) {
                if (tag.name.equals("applet"))
                    applet = tag.attributes;
            } else if (tag.name.equals("/applet")) {
                break;
            } else if (tag.name.equals("param")) {
                String key = tag.attributes.get("name");
                if (key != null)
                    parameters.put(key.toLowerCase(Locale.ROOT), tag.attributes.getOrDefault("value", ""));
            }
        }
        if (applet == null)
            throw new PageException("Die Seite enthält kein APPLET-Tag.");
        String code = applet.get("code");
        if (code == null || code.isBlank())
            throw new PageException("Das APPLET-Tag nennt keine Klasse (code=...).");
        return new AppletPage(documentBase, codeBase(documentBase, applet.get("codebase")),
                              className(code.trim()), applet.getOrDefault("name", ""),
                              size(applet, "width"), size(applet, "height"), parameters);
    }

    /** "Hallo.class" and "spiele/Hallo.class" name the classes Hallo and spiele.Hallo. */
    static String className(String code) {
        String name = code;
        if (name.endsWith(".class"))
            name = name.substring(0, name.length() - ".class".length());
        return name.replace('/', '.');
    }

    /** The page's own directory, or the codebase directory relative to the page. */
    private static URL codeBase(URL documentBase, String codeBase) throws PageException {
        String directory = codeBase == null || codeBase.isBlank() ? "." : codeBase.trim();
        if (!directory.endsWith("/"))
            directory += "/";
        try {
            // A relative directory may hold blanks, which a URI must not.
            URI reference = directory.matches("[A-Za-z][A-Za-z0-9+.-]*:.*")
                                ? new URI(directory)
                                : new URI(null, null, directory, null);
            return documentBase.toURI().resolve(reference).toURL();
        } catch (URISyntaxException | IllegalArgumentException | IOException e) {
            throw new PageException("Ungültige codebase: " + codeBase);
        }
    }

    private static int size(Map<String, String> applet, String attribute) throws PageException {
        String value = applet.get(attribute);
        if (value == null)
            throw new PageException("Dem APPLET-Tag fehlt " + attribute + "=...");
        try {
            int size = Integer.parseInt(value.trim());
            if (size > 0)
                return size;
        } catch (NumberFormatException e) {
            // reported below
        }
        throw new PageException("Ungültige Angabe im APPLET-Tag: " + attribute + "=" + value);
    }
}
