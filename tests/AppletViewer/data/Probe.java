// An applet that reports what the viewer gives it, one line per fact.
import java.applet.Applet;
import java.applet.AudioClip;
import java.awt.Image;
import java.awt.MediaTracker;

public class Probe extends Applet {
    public void init() {
        System.out.println("farbe=" + getParameter("FARBE"));
        System.out.println("text=" + getParameter("text"));
        System.out.println("danach=" + getParameter("danach"));
        System.out.println("documentBase=" + getDocumentBase());
        System.out.println("codeBase=" + getCodeBase());
        System.out.println("size=" + getWidth() + "x" + getHeight());
        Image image = getImage(getDocumentBase(), "bild.png");
        MediaTracker tracker = new MediaTracker(this);
        tracker.addImage(image, 0);
        try {
            tracker.waitForAll(10000);
        } catch (InterruptedException e) {
            // reported by the size below
        }
        System.out.println("image=" + image.getWidth(null) + "x" + image.getHeight(null));
        AudioClip clip = getAudioClip(getDocumentBase(), "ton.wav");
        System.out.println("audio=" + (clip != null));
        System.out.println("self=" + (getAppletContext().getApplet("sonde") == this));
        showStatus("Sonde bereit");
    }

    public void start() {
        System.out.println("start active=" + isActive());
    }

    public void stop() {
        System.out.println("stop");
    }

    public void destroy() {
        System.out.println("destroy");
    }
}
