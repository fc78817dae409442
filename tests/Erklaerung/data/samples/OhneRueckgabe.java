public class OhneRueckgabe {
    static void doppelt(int zahl) {
        return zahl * 2;
    }
}
