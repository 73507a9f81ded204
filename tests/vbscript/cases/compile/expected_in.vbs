For Each x Of arr
Next
' expect error: (1, 12) compilation error: Expected 'In'
