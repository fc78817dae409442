public class Kleinschreibung {
    public static void main(String[] args) {
        system.out.println("Hallo");
        string name = "Anna";
        Sytem.out.println(name);
    }
}
