#define TRACE_PATHS
// Paths.cs - verbatim and raw string literals.
using System;
using System.Text;

namespace Varnik.Samples
{
    /// <summary>
    /// Joins paths; "quotes" and /* here are comment text.
    /// </summary>
    public static class Paths
    {
        private const string Root = @"C:\data\";       // verbatim string ends here
        private const string Quoted = @"He said ""/* hi */""";
        private const char Dq = '"';
        private const string Multi = @"first line
// second line is string text

third line ""quoted"" */";
        private const string Json = """
            { "name": "/* not a comment */" }
            """;

        /* A delimited comment
           with "a string" inside */
        public static string Join(string a, string b)
        {
#if TRACE_PATHS
            Console.WriteLine("join: " + a + " // " + b); // trace
#endif
            var sb = new StringBuilder(Root);
            sb.Append(a).Append('\\').Append(b);
            return sb.ToString(); /* done */
        }

#region Entry point
        public static void Main()
        {
            Console.WriteLine(Join("x", "y") + Quoted + Dq + Multi.Length + Json + "\"//\"");
        }
#endregion
    }
}
