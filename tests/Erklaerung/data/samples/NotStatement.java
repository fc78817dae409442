public class NotStatement {
    public static void main(String[] args) {
        int zahl = 5;
        zahl + 1;
    }
}
