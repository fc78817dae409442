import java.utils.Scanner;

public class Paket {
    public static void main(String[] args) {
    }
}
