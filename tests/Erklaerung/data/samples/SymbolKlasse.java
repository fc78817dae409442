public class SymbolKlasse {
    public static void main(String[] args) {
        Scanner eingabe = new Scanner(System.in);
    }
}
