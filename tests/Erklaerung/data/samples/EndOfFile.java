public class EndOfFile {
    public static void main(String[] args) {
        System.out.println("Hallo");
    }
