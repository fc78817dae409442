public class PublicInMethode {
    public static void main(String[] args) {
        public int zahl = 5;
    }
}
