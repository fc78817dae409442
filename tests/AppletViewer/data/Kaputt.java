// An applet whose init fails.
public class Kaputt extends java.applet.Applet {
    public void init() {
        add(new java.awt.Button("nie zu sehen"));
        throw new IllegalStateException("Absichtlich kaputt");
    }
}
