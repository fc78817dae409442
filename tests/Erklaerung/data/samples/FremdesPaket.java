import acm.program.ConsoleProgram;

public class FremdesPaket {
}
