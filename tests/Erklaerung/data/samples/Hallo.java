public class Welt {
    public static void main(String[] args) {
        System.out.println("Hallo");
    }
}
