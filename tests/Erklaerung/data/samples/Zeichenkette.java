public class Zeichenkette {
    public static void main(String[] args) {
        System.out.println("Hallo);
    }
}
