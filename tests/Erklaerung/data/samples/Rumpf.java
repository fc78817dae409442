public class Rumpf {
    static void gruss();
    {
        System.out.println("Hallo");
    }
}
