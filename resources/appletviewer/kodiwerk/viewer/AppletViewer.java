// SPDX-License-Identifier: GPL-3.0-or-later
package kodiwerk.viewer;

import java.applet.Applet;
import java.awt.BorderLayout;
import java.awt.Dimension;
import java.awt.EventQueue;
import java.awt.Frame;
import java.awt.Label;
import java.awt.Panel;
import java.awt.TextArea;
import java.awt.event.WindowAdapter;
import java.awt.event.WindowEvent;
import java.io.File;
import java.io.IOException;
import java.io.PrintWriter;
import java.io.StringWriter;
import java.lang.reflect.InvocationTargetException;
import java.net.URL;
import java.net.URLClassLoader;
import java.util.concurrent.ExecutorService;
import java.util.concurrent.Executors;
import java.util.concurrent.TimeUnit;
import java.util.concurrent.atomic.AtomicBoolean;

/**
 * Shows the applet of an HTML page in a window of its own: the area the
 * APPLET tag asks for, and a status line below it. The applet's life runs on
 * a thread of its own (load, init, start; stop and destroy when the window
 * closes), so an applet that loops in start() does not freeze the window.
 *
 * Usage: java -cp <classes> kodiwerk.viewer.AppletViewer Seite.html
 */
@SuppressWarnings("removal")
public final class AppletViewer {

    /** How long a closing applet may take in stop() and destroy(). */
    private static final long CLOSE_WAIT_SECONDS = 3;

    private final AppletPage page;
    private final Frame frame;
    private final Panel area = new Panel(new BorderLayout());
    private final Label status = new Label("Applet wird geladen ...");
    private final ViewerContext context;
    private final ExecutorService life;
    private final AtomicBoolean closing = new AtomicBoolean();
    private volatile Applet applet;
    private volatile boolean started;

    public static void main(String[] args) {
        if (args.length != 1) {
            System.err.println("Aufruf: java kodiwerk.viewer.AppletViewer Seite.html");
            System.exit(2);
        }
        File pageFile = new File(args[0]).getAbsoluteFile();
        AppletPage page;
        try {
            page = AppletPage.read(pageFile);
        } catch (IOException | AppletPage.PageException e) {
            System.err.println(pageFile + ": " + e.getMessage());
            EventQueue.invokeLater(() -> showPageFailure(pageFile, e));
            return;
        }
        AppletViewer viewer = new AppletViewer(page);
        EventQueue.invokeLater(viewer::showWindow);
        viewer.life.execute(viewer::run);
    }

    private AppletViewer(AppletPage page) {
        this.page = page;
        this.frame = new Frame(page.className);
        this.context = new ViewerContext(page, this::showStatus, this::resizeApplet);
        this.life = Executors.newSingleThreadExecutor(task -> new Thread(task, "applet-" + page.className));
    }

    private void showWindow() {
        area.setPreferredSize(new Dimension(page.width, page.height));
        frame.add(area, BorderLayout.CENTER);
        frame.add(status, BorderLayout.SOUTH);
        frame.addWindowListener(new WindowAdapter() {
            @Override
            public void windowClosing(WindowEvent e) {
                close();
            }
        });
        frame.pack();
        frame.setLocationByPlatform(true);
        frame.setVisible(true);
    }

    /** Load, init, start: the applet thread's first task. */
    private void run() {
        try {
            applet = load();
        } catch (Throwable t) {
            fail("Die Klasse " + page.className + " kann nicht geladen werden.", t);
            return;
        }
        context.setApplet(applet);
        applet.setStub(context);
        try {
            EventQueue.invokeAndWait(() -> {
                applet.setSize(page.width, page.height);
                area.add(applet, BorderLayout.CENTER);
                area.validate();
            });
        } catch (InterruptedException | InvocationTargetException e) {
            fail("Das Applet kann nicht angezeigt werden.", e);
            return;
        }
        try {
            applet.init();
        } catch (Throwable t) {
            fail("Fehler in init() von " + page.className + ":", t);
            return;
        }
        EventQueue.invokeLater(() -> {
            applet.validate();
            area.validate();
        });
        // An applet counts as active from just before start() on.
        context.setActive(true);
        started = true;
        try {
            applet.start();
        } catch (Throwable t) {
            fail("Fehler in start() von " + page.className + ":", t);
            return;
        }
        showStatus("Applet gestartet.");
    }

    private Applet load() throws Exception {
        URLClassLoader loader = new URLClassLoader(new URL[] {page.codeBase},
                                                   AppletViewer.class.getClassLoader());
        Class<?> type = Class.forName(page.className, true, loader);
        if (!Applet.class.isAssignableFrom(type))
            throw new ClassCastException(page.className + " ist kein Applet (extends java.applet.Applet fehlt).");
        return (Applet) type.getDeclaredConstructor().newInstance();
    }

    /** The failure takes the applet's place, so the window never stays blank. */
    private void fail(String what, Throwable t) {
        Throwable cause = t instanceof InvocationTargetException && t.getCause() != null ? t.getCause() : t;
        System.err.println(what);
        cause.printStackTrace();
        StringWriter trace = new StringWriter();
        cause.printStackTrace(new PrintWriter(trace));
        EventQueue.invokeLater(() -> {
            TextArea text = new TextArea(what + "\n\n" + trace, 0, 0, TextArea.SCROLLBARS_BOTH);
            text.setEditable(false);
            area.removeAll();
            area.add(text, BorderLayout.CENTER);
            area.validate();
            status.setText("Applet nicht gestartet: " + cause);
        });
    }

    private void showStatus(String text) {
        EventQueue.invokeLater(() -> status.setText(text));
    }

    private void resizeApplet(int width, int height) {
        EventQueue.invokeLater(() -> {
            area.setPreferredSize(new Dimension(width, height));
            frame.pack();
        });
    }

    /** stop (when started) and destroy on the applet thread, after whatever it is doing. */
    private void close() {
        if (!closing.compareAndSet(false, true))
            return;
        life.execute(() -> {
            Applet shown = applet;
            if (shown == null)
                return;
            context.setActive(false);
            try {
                if (started)
                    shown.stop();
                shown.destroy();
            } catch (Throwable t) {
                t.printStackTrace();
            }
        });
        life.shutdown();
        Thread closer = new Thread(() -> {
            try {
                life.awaitTermination(CLOSE_WAIT_SECONDS, TimeUnit.SECONDS);
            } catch (InterruptedException e) {
                // leave all the same
            }
            System.exit(0);
        }, "close");
        closer.start();
        frame.dispose();
    }

    private static void showPageFailure(File pageFile, Exception e) {
        Frame frame = new Frame(pageFile.getName());
        TextArea text = new TextArea("Die Seite " + pageFile + " kann nicht gezeigt werden:\n\n"
                                         + e.getMessage(),
                                     0, 0, TextArea.SCROLLBARS_VERTICAL_ONLY);
        text.setEditable(false);
        text.setPreferredSize(new Dimension(480, 160));
        frame.add(text);
        frame.addWindowListener(new WindowAdapter() {
            @Override
            public void windowClosing(WindowEvent event) {
                System.exit(0);
            }
        });
        frame.pack();
        frame.setVisible(true);
    }
}
