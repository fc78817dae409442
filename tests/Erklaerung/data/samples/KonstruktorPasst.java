class Punkt {
    Punkt(int x, int y) {
    }
    Punkt(double x, double y) {
    }
}

public class KonstruktorPasst {
    public static void main(String[] args) {
        Punkt punkt = new Punkt(1, "2");
    }
}
