public class Return {
    static int doppelt(int zahl) {
        int ergebnis = zahl * 2;
    }
}
