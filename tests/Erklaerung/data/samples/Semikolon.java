public class Semikolon {
    public static void main(String[] args) {
        int zahl = 5
        System.out.println(zahl);
    }
}
