public class FeldDoppelt {
    int zahl = 1;
    int zahl = 2;
}
