public class OhneWert {
    static int doppelt(int zahl) {
        return;
    }
}
