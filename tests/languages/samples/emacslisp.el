;;; report.el --- Counts the words of a text  -*- lexical-binding: t; -*-

;;; Commentary:
;; Shows Emacs Lisp's literals.

;;; Code:
(defun report-count-words (text)
  "Return the number of words in TEXT; a ; here is text."
  (length (split-string text))) ; a comment after code

(defconst report-chars (list ?\" ?\; ?a)) ; character syntax
(defconst report-multi "a string
; spanning lines

ends here")

(provide 'report)
;;; report.el ends here
