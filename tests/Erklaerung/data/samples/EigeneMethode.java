public class EigeneMethode {
    public static void main(String[] args) {
        int ergebnis = rechne(5);
        System.out.println(ergebnis);
    }
}
