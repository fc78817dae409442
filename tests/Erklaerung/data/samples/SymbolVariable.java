public class SymbolVariable {
    public static void main(String[] args) {
        int zahl = 5;
        System.out.println(zahll);
    }
}
