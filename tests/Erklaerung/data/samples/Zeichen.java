public class Zeichen {
    public static void main(String[] args) {
        System.out.println(„Hallo“);
    }
}
