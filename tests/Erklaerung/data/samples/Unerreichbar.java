public class Unerreichbar {
    static int doppelt(int zahl) {
        return zahl * 2;
        System.out.println("fertig");
    }
}
