// SPDX-License-Identifier: GPL-3.0-or-later
package kodiwerk.compile;

import java.io.ByteArrayInputStream;
import java.io.ByteArrayOutputStream;
import java.io.IOException;
import java.io.InputStream;
import java.io.PrintStream;
import java.nio.charset.Charset;
import java.nio.charset.StandardCharsets;
import java.nio.file.Files;
import java.nio.file.Path;
import java.nio.file.Paths;
import java.util.ArrayList;
import java.util.HashMap;
import java.util.IllformedLocaleException;
import java.util.List;
import java.util.Locale;
import java.util.Map;
import java.util.Set;
import javax.tools.JavaCompiler;

/**
 * One compile as the javac command would make it in the same directory: the
 * same arguments to the same entry point, the launcher's part (its -J
 * options, the class path taken from CLASSPATH) done here, and what javac
 * writes caught in the encodings the command would write it in. A request
 * this cannot answer exactly is declined, and Kodiwerk runs javac itself.
 */
final class JavacRun {

    static final class Result {
        int kind = Frames.DECLINED;
        int exitStatus = -1;
        byte[] err = new byte[0];
        byte[] out = new byte[0];
        /** The helper's own state is in doubt: it ends after answering. */
        boolean endHelper;
    }

    /** Kodiwerk keeps less than this of what javac writes. */
    private static final int KEPT = 1 << 20;

    /** The command prints these on its standard output; run() mixes them into the messages. */
    private static final Set<String> STANDARD_OUTPUT_OPTIONS = Set.of("-version", "--version",
        "-fullversion", "--full-version", "-help", "--help", "-?", "-X", "--help-extra",
        "--help-lint");

    /** The launcher options this helper can take over: the locale's parts. */
    private static final List<String> LOCALE_PROPERTIES =
        List.of("user.language", "user.script", "user.country", "user.variant");

    private final JavaCompiler javac;
    private final Path ownDirectory;
    private final Charset errCharset;
    private final Charset outCharset;
    private final String classPathProblem;

    JavacRun(JavaCompiler javac) {
        this.javac = javac;
        ownDirectory = Paths.get("").toAbsolutePath();
        errCharset = charsetOf(System.err);
        outCharset = charsetOf(System.out);
        // What the javac launcher tells the compiler: where it was started
        // from, and the CLASSPATH variable, which then decides the class path.
        System.setProperty("application.home", System.getProperty("java.home"));
        String classPath = System.getenv("CLASSPATH");
        // The launcher expands "dir/*" to the jars in dir, in an order of the system's.
        classPathProblem = classPath != null && (classPath.equals("*") || classPath.contains("/*"))
                               ? "CLASSPATH names jars by wildcard"
                               : null;
        if (classPath != null)
            System.setProperty("env.class.path", classPath);
        else
            System.clearProperty("env.class.path");
    }

    Result run(Frames.Request request) {
        Result result = new Result();
        try {
            String problem = problem(request, result);
            List<String> arguments = new ArrayList<>();
            Map<String, String> localeParts = new HashMap<>();
            if (problem == null)
                problem = launcherPart(request.arguments, arguments, localeParts);
            Locale[] locales = currentLocales();
            if (problem == null && !localeParts.isEmpty()) {
                try {
                    locales = withParts(locales, localeParts);
                } catch (IllformedLocaleException e) {
                    problem = "a locale the VM would take as it is";
                }
            }
            if (problem != null)
                return declined(result, problem);
            compile(arguments, locales, result);
            // Out of memory, a stack overflow, a crash inside javac: its
            // message would not be the command's, whose VM has other limits.
            if (result.exitStatus != 0 && result.exitStatus != 1 && result.exitStatus != 2)
                return declined(result, "javac ended with status " + result.exitStatus);
            result.kind = Frames.COMPILED;
        } catch (Throwable e) {
            declined(result, "the helper failed: " + e);
            result.endHelper = true;
        }
        return result;
    }

    private String problem(Frames.Request request, Result result) {
        if (classPathProblem != null)
            return classPathProblem;
        // Relative paths and the class path "." mean the command's own directory.
        try {
            if (Files.isSameFile(Paths.get(request.workingDirectory), Paths.get(".")))
                return null;
        } catch (IOException | RuntimeException e) {
            return "no such working directory";
        }
        // Its own directory by name, yet another one: it was removed and made
        // anew, and this VM works in one that nobody sees any more.
        result.endHelper = Paths.get(request.workingDirectory).equals(ownDirectory);
        return "another working directory";
    }

    /** Splits off what the launcher would take for itself; a reason when that cannot be done here. */
    private static String launcherPart(List<String> given, List<String> forJavac,
                                       Map<String, String> localeParts) {
        for (String argument : given) {
            if (argument.startsWith("-J")) {
                String property = localeProperty(argument.substring(2));
                if (property == null)
                    return "the VM option " + argument;
                localeParts.put(property, argument.substring(argument.indexOf('=') + 1));
            } else if (argument.startsWith("@")) {
                return "an argument file";
            } else if (STANDARD_OUTPUT_OPTIONS.contains(argument)) {
                return "the option " + argument;
            } else {
                forJavac.add(argument);
            }
        }
        // Without arguments javac prints its help on standard output.
        return forJavac.isEmpty() ? "no arguments" : null;
    }

    private static String localeProperty(String vmOption) {
        for (String property : LOCALE_PROPERTIES)
            if (vmOption.startsWith("-D" + property + "="))
                return property;
        return null;
    }

    private void compile(List<String> arguments, Locale[] locales, Result result) {
        Locale[] saved = currentLocales();
        Capped err = new Capped();
        Capped out = new Capped();
        PrintStream errStream = new PrintStream(err, true, errCharset);
        PrintStream outStream = new PrintStream(out, true, outCharset);
        PrintStream savedErr = System.err;
        PrintStream savedOut = System.out;
        InputStream savedIn = System.in;
        try {
            setLocales(locales);
            // The command's standard input is closed; ours carries the requests.
            System.setIn(new ByteArrayInputStream(new byte[0]));
            System.setErr(errStream);
            System.setOut(outStream);
            result.exitStatus =
                javac.run(null, outStream, errStream, arguments.toArray(new String[0]));
        } finally {
            System.setIn(savedIn);
            System.setErr(savedErr);
            System.setOut(savedOut);
            setLocales(saved);
        }
        errStream.flush();
        outStream.flush();
        result.err = err.toByteArray();
        result.out = out.toByteArray();
    }

    /** The default locale and those for messages and for formats. */
    private static Locale[] currentLocales() {
        return new Locale[] {Locale.getDefault(), Locale.getDefault(Locale.Category.DISPLAY),
                             Locale.getDefault(Locale.Category.FORMAT)};
    }

    private static void setLocales(Locale[] locales) {
        Locale.setDefault(locales[0]);
        Locale.setDefault(Locale.Category.DISPLAY, locales[1]);
        Locale.setDefault(Locale.Category.FORMAT, locales[2]);
    }

    /**
     * A VM started with -Duser.language=de keeps the platform's other parts
     * of each locale and takes the given ones.
     */
    private static Locale[] withParts(Locale[] locales, Map<String, String> parts) {
        Locale[] changed = new Locale[locales.length];
        for (int i = 0; i < locales.length; i++) {
            Locale.Builder builder = new Locale.Builder().setLocale(locales[i]);
            if (parts.containsKey("user.language"))
                builder.setLanguage(parts.get("user.language"));
            if (parts.containsKey("user.script"))
                builder.setScript(parts.get("user.script"));
            if (parts.containsKey("user.country"))
                builder.setRegion(parts.get("user.country"));
            if (parts.containsKey("user.variant"))
                builder.setVariant(parts.get("user.variant"));
            changed[i] = builder.build();
        }
        return changed;
    }

    private static Result declined(Result result, String reason) {
        result.kind = Frames.DECLINED;
        result.err = reason.getBytes(StandardCharsets.UTF_8);
        result.out = new byte[0];
        return result;
    }

    /**
     * The encoding a PrintWriter over this stream writes in: from JDK 18 on
     * the stream's own, before that the VM's default, which the stream then
     * has as well.
     */
    private static Charset charsetOf(PrintStream stream) {
        try {
            return (Charset) PrintStream.class.getMethod("charset").invoke(stream);
        } catch (ReflectiveOperationException e) {
            return Charset.defaultCharset();
        }
    }

    /** Keeps the first KEPT bytes written to it. */
    private static final class Capped extends ByteArrayOutputStream {
        @Override
        public synchronized void write(int b) {
            if (count < KEPT)
                super.write(b);
        }

        @Override
        public synchronized void write(byte[] bytes, int offset, int length) {
            super.write(bytes, offset, Math.max(0, Math.min(length, KEPT - count)));
        }
    }
}
