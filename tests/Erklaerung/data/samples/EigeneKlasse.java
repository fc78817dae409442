public class EigeneKlasse {
    public static void main(String[] args) {
        Auto auto = new Auto();
    }
}
