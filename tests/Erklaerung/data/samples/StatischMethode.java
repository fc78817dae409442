public class StatischMethode {
    void begruesse() {
        System.out.println("Hallo");
    }
    public static void main(String[] args) {
        begruesse();
    }
}
