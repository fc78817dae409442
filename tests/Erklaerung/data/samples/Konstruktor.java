class Konto {
    Konto(int stand) {
    }
}
public class Konstruktor {
    public static void main(String[] args) {
        Konto k = new Konto();
    }
}
