public class Kommentar {
    /* Das Hauptprogramm
    public static void main(String[] args) {
    }
}
