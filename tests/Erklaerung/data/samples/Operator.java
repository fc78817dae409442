public class Operator {
    public static void main(String[] args) {
        String name = "Anna";
        if (name > 3) {
            System.out.println(name);
        }
    }
}
