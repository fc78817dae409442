public class Feld {
    public static void main(String[] args) {
        int zahl = 5;
        System.out.println(zahl[0]);
    }
}
