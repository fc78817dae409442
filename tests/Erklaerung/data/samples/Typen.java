public class Typen {
    public static void main(String[] args) {
        int zahl = "5";
        char zeichen = "a";
        String text = 5;
        boolean fertig = 1;
    }
}
