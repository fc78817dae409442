public class Zuweisung {
    public static void main(String[] args) {
        int zahl = 5;
        if (zahl = 5) {
            System.out.println(zahl);
        }
    }
}
