public class IllegalStart {
    public static void main(String[] args) {
        int zahl = 5;
        if (zahl > ) {
            System.out.println(zahl);
        }
    }
}
