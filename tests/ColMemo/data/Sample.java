/* Sample for the colour rules.
   A class, an int and a for loop inside a block comment stay purple. */
package kodiwerk.sample;

import java.util.List;

// public class in a line comment /* closed here */ to the end
public class Sample extends Object implements Runnable {
	private static final int LIMIT = 10;
	protected String name = "if this were code";
	String string = null; // string in lower case is no keyword

	public Sample(String name){
		this.name = name;
	}

	public void run() {
		for (int i = 0; i < LIMIT; i++) {
			if (i % 2 == 0) continue; else break;
		}
		while (false) { }
		throw new RuntimeException("true is not coloured");
	}

	/**
	 * Javadoc spans lines; @return and {@link List} stay purple.
	 */
	synchronized boolean isEmpty() { return name == null || name.length()==0; }

	int2 print(_int x, int[] values) {
		double d = 1.5; char c = '{';
		return values.length > 0 ? values[0] : x.hashCode(); /* tail */
	}

	static class Inner{ } // a brace right after a letter is not red
	interface Printable { void print(); }
	switch (x) { case 1: default: }
}
// end
