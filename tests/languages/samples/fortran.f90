! Sums the columns of a matrix and prints them, one line each.
module report_mod
  implicit none
  character(len=*), parameter :: TITLE = 'Sums! and ''quotes'''  ! '!' inside a string is text
  character(len=*), parameter :: NOTE = "say ""hi"" ! still text"
  character(len=*), parameter :: LONG = 'a literal &
      &continued'

contains

  subroutine show(values)
    real, intent(in) :: values(:)
    integer :: i
    do i = 1, size(values)  ! one line per column
      print '(a, i0, a, f8.2)', 'column ', i, ': ', values(i)
    end do
  end subroutine show
end module report_mod

program main
  use report_mod
  implicit none
  real :: m(2, 3)
  m = reshape([1.0, 2.0, 3.0, &  ! a statement continued with &
               4.0, 5.0, 6.0], [2, 3])
#ifdef DEBUG
  print *, 'debug build'
#endif
  !$ print *, 'with OpenMP'
      ! an indented comment
  print *, TITLE, NOTE, LONG
  call show(sum(m, dim=1))
end program main
