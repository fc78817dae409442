public class OhneErklaerung {
    public static void main(String[] args) {
        int zahl = 0;
        5 = zahl;
        break;
    }
}
