/*
 * Inventory.kt - nested comments and raw strings.
 * /* A nested comment opens here
 *    and closes here: */
 * so this line is still inside the outer comment.
 */
package samples

/** KDoc for the item type; "quotes" are comment text. */
data class Item(val name: String, val count: Int)

const val SLASHES = "// not a comment"
const val OPENER = "/* not a comment */"
const val QUOTE = '"'
const val APOS = '\''
const val ESCAPED = "a \"quoted\" word"

val report = """
    |name: $SLASHES // raw text
    |/* still raw text */

    |"quotes" need no escape here
""".trimMargin()

fun total(items: List<Item>): Int =
    items.sumOf { it.count } // sum of counts

fun main() {
    val items = listOf(Item("bolt", 3), Item("nut", 5))
    /* one /* nested */ comment */ println(total(items))
    println("$SLASHES $OPENER $QUOTE $APOS $ESCAPED")
    println(report) /* done
    */
}
