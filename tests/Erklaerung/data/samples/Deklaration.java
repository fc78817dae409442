public class Deklaration {
    public static void main(String[] args) {
        rechne();
    }
    static rechne() {
        System.out.println(1);
    }
}
