// SPDX-License-Identifier: GPL-3.0-or-later
package kodiwerk.viewer;

import java.applet.Applet;
import java.applet.AppletContext;
import java.applet.AppletStub;
import java.applet.AudioClip;
import java.awt.Desktop;
import java.awt.Image;
import java.awt.Toolkit;
import java.io.InputStream;
import java.net.URL;
import java.util.Collections;
import java.util.HashMap;
import java.util.Iterator;
import java.util.Map;
import java.util.Vector;
import java.util.function.BiConsumer;
import java.util.function.Consumer;

/** The applet's view of its page and of the viewer: one applet per window. */
@SuppressWarnings("removal")
final class ViewerContext implements AppletStub, AppletContext {

    private final AppletPage page;
    private final Consumer<String> status;
    private final BiConsumer<Integer, Integer> resize;
    private final Map<String, InputStream> streams = new HashMap<>();
    private volatile Applet applet;
    private volatile boolean active;

    /**
     * @param status shows a text in the window's status line
     * @param resize gives the applet a new size in the window
     */
    ViewerContext(AppletPage page, Consumer<String> status, BiConsumer<Integer, Integer> resize) {
        this.page = page;
        this.status = status;
        this.resize = resize;
    }

    void setApplet(Applet applet) {
        this.applet = applet;
    }

    /** Between start and stop. */
    void setActive(boolean active) {
        this.active = active;
    }

    // --- AppletStub -----------------------------------------------------------

    @Override
    public boolean isActive() {
        return active;
    }

    @Override
    public URL getDocumentBase() {
        return page.documentBase;
    }

    @Override
    public URL getCodeBase() {
        return page.codeBase;
    }

    @Override
    public String getParameter(String name) {
        return name == null ? null : page.parameters.get(name.toLowerCase(java.util.Locale.ROOT));
    }

    @Override
    public AppletContext getAppletContext() {
        return this;
    }

    @Override
    public void appletResize(int width, int height) {
        resize.accept(width, height);
    }

    // --- AppletContext --------------------------------------------------------

    @Override
    public AudioClip getAudioClip(URL url) {
        return Applet.newAudioClip(url);
    }

    @Override
    public Image getImage(URL url) {
        return Toolkit.getDefaultToolkit().getImage(url);
    }

    @Override
    public Applet getApplet(String name) {
        Applet shown = applet;
        return shown != null && name != null && name.equalsIgnoreCase(page.name) ? shown : null;
    }

    @Override
    public java.util.Enumeration<Applet> getApplets() {
        Vector<Applet> applets = new Vector<>();
        if (applet != null)
            applets.add(applet);
        return applets.elements();
    }

    @Override
    public void showDocument(URL url) {
        showDocument(url, "_self");
    }

    /** Opens the document in the desktop's browser; there are no frames to target. */
    @Override
    public void showDocument(URL url, String target) {
        Thread opener = new Thread(() -> {
            try {
                if (Desktop.isDesktopSupported()
                    && Desktop.getDesktop().isSupported(Desktop.Action.BROWSE)) {
                    Desktop.getDesktop().browse(url.toURI());
                    return;
                }
            } catch (Exception e) {
                // said in the status line below
            }
            showStatus("Kann nicht angezeigt werden: " + url);
        }, "showDocument");
        opener.setDaemon(true);
        opener.start();
    }

    @Override
    public void showStatus(String text) {
        status.accept(text == null ? "" : text);
    }

    @Override
    public synchronized void setStream(String key, InputStream stream) {
        if (stream == null)
            streams.remove(key);
        else
            streams.put(key, stream);
    }

    @Override
    public synchronized InputStream getStream(String key) {
        return streams.get(key);
    }

    @Override
    public synchronized Iterator<String> getStreamKeys() {
        return Collections.unmodifiableSet(new java.util.HashSet<>(streams.keySet())).iterator();
    }
}
