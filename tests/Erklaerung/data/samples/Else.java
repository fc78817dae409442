public class Else {
    public static void main(String[] args) {
        int zahl = 5;
        if (zahl > 3);
            System.out.println("groß");
        else
            System.out.println("klein");
    }
}
