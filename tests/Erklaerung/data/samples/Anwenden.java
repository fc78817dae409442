public class Anwenden {
    static int doppelt(int zahl) {
        return zahl * 2;
    }
    public static void main(String[] args) {
        int x = doppelt(3, 4);
        int y = doppelt();
    }
}
