public class MethodeDoppelt {
    static void gruss() {
    }
    static void gruss() {
    }
}
