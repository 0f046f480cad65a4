/* Scala block comments nest:
   /* this inner comment closes here */
   and this line is still a comment.
*/
package samples

import scala.collection.mutable

/** A word counter.

  * Scaladoc is a comment; "quotes" here are text.
  */
object WordCount {
  val Slashes = "// not a comment"
  val Opener  = "/* not a comment"
  val Quote   = '"'
  val Apos    = '\''
  val Escaped = "say \"hi\" // inside"

  val Query = """SELECT *
    |  FROM words -- raw text, "quotes" and \ need no escape
    |  /* still the string */

    |""".stripMargin

  private val counts = mutable.Map.empty[String, Int] // word -> count

  def add(text: String): Unit =
    text.split(" ").foreach { w => // split on spaces
      counts(w) = counts.getOrElse(w, 0) + 1
    }

  /* one /* nested */ comment */ def size: Int = counts.size

  def main(args: Array[String]): Unit = {
    add("a b a")
    println(s"$size $Slashes $Opener $Quote $Apos $Escaped")
    println(Query)
  }
}
