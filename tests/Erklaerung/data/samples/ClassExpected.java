public class ClassExpected {
    public static void main(String[] args) {
        System.out.println("Hallo");
    }
}
}
