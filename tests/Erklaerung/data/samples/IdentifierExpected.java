public class IdentifierExpected {
    System.out.println("Hallo");
}
