public class KlammerAuf {
    public static void main(String[] args) {
        int zahl = 5;
        if zahl > 3 {
            System.out.println(zahl);
        }
    }
}
