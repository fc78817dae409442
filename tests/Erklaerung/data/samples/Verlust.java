public class Verlust {
    public static void main(String[] args) {
        double preis = 2.5;
        int euro = preis;
    }
}
