public class Passend {
    public static void main(String[] args) {
        Math.max("eins", 2);
    }
}
