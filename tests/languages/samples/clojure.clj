;; Counts the words of a text, and shows Clojure's literals.
(ns report.core
  (:require [clojure.string :as str]))

(defn count-words
  "Returns the number of words in text; a ; here is text."
  [text]
  (count (str/split text #"\s+"))) ; a comment after code

(def chars [\" \; \a \newline]) ; character literals
(def multi "a string
  ; spanning lines

  ends here")
(def regex #"a;b\"c") ; a regex literal is a string after #
(println (count-words "a b") chars multi regex)
