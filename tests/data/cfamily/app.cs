// C#: namespaces, classes, regions, attributes, and keywords that take parentheses.
using System;
using System.IO;

namespace App
{
    class Main
    {
        #region Entry
        [STAThread]
        static void Run(string[] args)
        {
            using (var reader = Open(args[0]))
            {
                lock (reader) { Parse(reader); }
            }
            var n = nameof(Run);
        }
        #endregion

        [Obsolete("old")] public int Count { get; set; }

        static StreamReader Open(string path) => new StreamReader(path);

        void Parse(StreamReader r)
        {
            try { r.ReadLine(); }
            catch (IOException e) { Log(e); }
        }

        private void Log(Exception e) { Console.WriteLine(e.Message); }
    }
}
