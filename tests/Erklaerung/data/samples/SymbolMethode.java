public class SymbolMethode {
    public static void main(String[] args) {
        System.out.prinln("Hallo");
    }
}
