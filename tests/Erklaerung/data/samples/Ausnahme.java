public class Ausnahme {
    public static void main(String[] args) {
        Thread.sleep(1000);
    }
}
