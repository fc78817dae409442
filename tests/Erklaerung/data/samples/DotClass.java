public class DotClass {
    static int doppelt(int zahl) {
        return zahl * 2;
    }
    public static void main(String[] args) {
        int x = doppelt(int zahl);
    }
}
