public class Init {
    public static void main(String[] args) {
        int summe;
        summe = summe + 1;
    }
}
