public class Doppelt {
    public static void main(String[] args) {
        int zahl = 5;
        int zahl = 6;
    }
}
