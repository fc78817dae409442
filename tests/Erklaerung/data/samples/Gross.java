public class Gross {
    public static void main(String[] args) {
        int zahl = 3000000000;
    }
}
