;;;; Counts the words of a text, and shows Common Lisp's literals.
(defpackage :report (:use :cl))
(in-package :report)

#| A balanced comment
   #| nests |# and runs on
   past the inner close |#
(defun count-words (text)
  "Returns the number of words in TEXT; a ; here is text."
  (let ((count 0) (in-word nil))
    (loop for c across text
          do (if (char= c #\Space) ; a comment after code
                 (setf in-word nil)
                 (unless in-word (incf count) (setf in-word t))))
    count))

(defparameter *chars* (list #\" #\; #\a)) ; character objects
(defparameter *multi* "a string
; spanning lines

ends here")
(print (list (count-words "a b") *chars* *multi*))
