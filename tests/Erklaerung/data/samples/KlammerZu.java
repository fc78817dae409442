public class KlammerZu {
    public static void main(String[] args) {
        System.out.println("Hallo";
    }
}
