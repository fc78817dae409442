public class VoidHier {
    static void gruss() {
        System.out.println("Hallo");
    }
    public static void main(String[] args) {
        System.out.println(gruss());
    }
}
