class Konto {
    private int stand = 0;
}

public class Privat {
    public static void main(String[] args) {
        Konto konto = new Konto();
        konto.stand = 5;
    }
}
