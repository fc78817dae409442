public class Char {
    public static void main(String[] args) {
        char zeichen = 'a';
        System.out.println(zeichen.length());
    }
}
