public class Statisch {
    int zaehler = 0;
    public static void main(String[] args) {
        zaehler = 1;
    }
}
