public class GeschweiftAuf
    public static void main(String[] args) {
    }
}
